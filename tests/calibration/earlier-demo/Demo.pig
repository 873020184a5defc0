1.51000
0.976108
5.672965
0.006047
1.046208
25.00
63.00
125.0
270.0
165.0
0
 0 	Energy 0 is kg, 1 is lbs, 2 is Mcal/kg 3 is mcal/lb 4 is MJ/kg
 0 
 1 
