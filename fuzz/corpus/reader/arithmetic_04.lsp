(rem 5)
