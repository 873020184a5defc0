2.81000
0.976108
4.463453
0.00725028
0.911863
25.00
63.00
125.0
254.0
163.0
0
 0 	Energy 0 is kg, 1 is lbs, 2 is Mcal/kg 3 is mcal/lb 4 is MJ/kg
 0 
 1 
