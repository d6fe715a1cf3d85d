(progn (quote
