(setq)
