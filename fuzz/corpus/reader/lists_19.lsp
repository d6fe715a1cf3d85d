(length '(1 2 3))
