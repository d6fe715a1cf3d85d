(vl-directory-files "missing")
