(progn '(a . b c))
