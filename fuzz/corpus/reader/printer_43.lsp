(prin1 nil)
