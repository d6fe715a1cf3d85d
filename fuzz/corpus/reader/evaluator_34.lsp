(my-progn 'y)
