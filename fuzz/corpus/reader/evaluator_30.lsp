(or)
