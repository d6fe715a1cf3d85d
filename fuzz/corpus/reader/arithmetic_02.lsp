(fix 2.7)
