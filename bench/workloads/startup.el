;;; -*- lexical-binding: t -*-
(princ "CHECKSUM 0\n")
