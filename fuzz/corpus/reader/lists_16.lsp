(type '(1 2))
