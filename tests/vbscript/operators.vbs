' Operators: precedence, Variant arithmetic and promotion, comparison rules, the operators' own
' errors (Null, division by zero and conversions: null_propagation.vbs, kept_behaviour.vbs).

CheckEval Array("2 + 3 * 4", 14, "2 ^ 3 ^ 2", 64, "2 ^ -1", 0.5, "7 \ 2", 3, "7.5 \ 2", 4, _
    "-7 Mod 3", -1, "1 + 5 Mod 3", 3, """a"" & 1 + 2", "a3", "TypeName(1 + 1)", "Integer", _
    "32767 + 1", 32768, "TypeName(32767 + 1)", "Long", "TypeName(2147483647 + 1)", "Double", _
    "TypeName(4 / 2)", "Double", "True + True", -2, "Empty + 1", 1, """1"" + ""2""", "12", _
    """1"" + 2", 3, "12 And 10", 8, "12 Or 3", 15, "5 Xor 3", 6, "Not 0", -1, _
    "True Eqv False", False, "False Imp False", True, "10 = ""10""", True, _
    """abc"" < ""abd""", True, """A"" < ""a""", True, "Not 1 = 2", True, "&HFF", 255, _
    "&HFFFF", -1, "&O17", 15, "1.5E3", 1500, "#2024-01-31#", DateSerial(2024, 1, 31))
Dim v1, v2 : v1 = "10" : v2 = 10
Check "variable text vs number", v1 = v2, False
' The subtype each pairing of subtypes gives, and the operators' own errors.
CheckEvalTyp Array("CInt(1) + CInt(2)", CInt(3), "2147483647 + 1", 2147483648, _
    "CByte(200) + CByte(55)", CByte(255), "CByte(200) + CByte(56)", CInt(256), _
    "True + True", CInt(-2), "Empty + Empty", CInt(0), "CSng(1.5) + CInt(1)", CSng(2.5), _
    "CSng(1.5) + CLng(1)", 2.5, """1"" + CInt(2)", CDbl(3), "CDate(1) + CInt(1)", CDate(2), _
    "CDate(3) - CDate(1)", CDbl(2), "CInt(300) * CInt(300)", CLng(90000), _
    "CInt(1) / CInt(4)", 0.25, "2.5 \ CInt(1)", CLng(2), "CLng(100000) \ CInt(3)", CLng(33333), _
    "CInt(-7) Mod CInt(3)", CInt(-1), "CInt(2) ^ CInt(10)", CDbl(1024), _
    "-CInt(-32768)", CLng(32768), "-Empty", CInt(0), "-""2""", CDbl(-2), _
    "CLng(65536) Or CInt(1)", CLng(65537))
CheckEval Array("10 < ""x""", True, "CDate(2) = 2", True, "Fehler(""(-8) ^ 0.5"")", 5, _
    "Fehler(""10 ^ 400"")", 6, "Fehler(""CLng(-2147483647 - 1) \ -1"")", 6)
WScript.Quit failures
