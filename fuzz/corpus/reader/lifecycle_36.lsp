(setq n '(1 2))
