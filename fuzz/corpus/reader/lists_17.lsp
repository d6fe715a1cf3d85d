(cadr '(1 2 3))
