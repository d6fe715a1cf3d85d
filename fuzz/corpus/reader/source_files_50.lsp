(put "other.dat.lsp" '("(setq which \"dat.lsp\")"))
