(prin1 1 "p.txt")
