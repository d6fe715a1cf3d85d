(vl-directory-files "lst" nil 1)
