(put "prog.txt" '("(setq which \"txt\")"))
