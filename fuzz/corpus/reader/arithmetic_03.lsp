(boole 4 12 10)
