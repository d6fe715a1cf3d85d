(progn '(1 '(2)))
