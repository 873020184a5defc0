6.15400
1.53430
3.57050
0.0020532
1.00000
25.20
63.00
120.4
255.6
165.0
0
 0 	Energy 0 is kg, 1 is lbs, 2 is Mcal/kg 3 is mcal/lb 4 is MJ/kg
 0 
 1 
