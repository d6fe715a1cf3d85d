(undefined-function)
