(progn (setq 1 2))
