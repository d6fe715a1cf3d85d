(progn p)
