(prin1)
