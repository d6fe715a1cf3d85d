(put "foreign.lsp" '("AutoCAD PROTECTED LISP file" "xyz"))
