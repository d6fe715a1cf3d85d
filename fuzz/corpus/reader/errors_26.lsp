(setq *error* nil)
