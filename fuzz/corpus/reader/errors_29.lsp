(setq 1 2)
