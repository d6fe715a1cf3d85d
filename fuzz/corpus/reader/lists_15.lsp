(type lstfn)
