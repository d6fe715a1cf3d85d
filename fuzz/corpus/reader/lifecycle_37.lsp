(setq c:never 1)
