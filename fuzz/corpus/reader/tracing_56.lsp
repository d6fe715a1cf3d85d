(progn 'fine)
