(put "bad.lsp" '("(setq a 1)" "" "  (setq b (/ 1 0))" "(setq c 3)"))
