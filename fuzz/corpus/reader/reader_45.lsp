(progn ''x)
