(foreach x nil 1)
