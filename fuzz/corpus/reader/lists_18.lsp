(progn lstb)
