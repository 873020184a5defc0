7.45400
1.497019
2.41312
0.0022532
1.01000
25.20
63.00
120.4
255.6
165.0
0
 0 	Energy 0 is kg, 1 is lbs, 2 is Mcal/kg 3 is mcal/lb 4 is MJ/kg
 0 
 1 
