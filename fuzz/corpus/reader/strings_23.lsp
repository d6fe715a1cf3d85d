(strlen "abc")
