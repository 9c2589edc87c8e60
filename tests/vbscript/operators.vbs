' Operators: precedence, Variant arithmetic and promotion, comparison rules, Null logic.

Check "precedence mul", 2 + 3 * 4, 14
Check "pow left assoc", 2 ^ 3 ^ 2, 64
Check "pow neg exponent", 2 ^ -1, 0.5
Check "intdiv", 7 \ 2, 3
Check "intdiv rounds operands", 7.5 \ 2, 4
Check "mod sign", -7 Mod 3, -1
Check "mod before add", 1 + 5 Mod 3, 3
Check "concat binds looser", "a" & 1 + 2, "a3"
Check "integer stays integer", TypeName(1 + 1), "Integer"
Check "integer overflow to long", 32767 + 1, 32768
Check "long type", TypeName(32767 + 1), "Long"
Check "long overflow to double", TypeName(2147483647 + 1), "Double"
Check "division is double", TypeName(4 / 2), "Double"
Check "boolean arithmetic", True + True, -2
Check "empty plus", Empty + 1, 1
Check "string plus string", "1" + "2", "12"
Check "string plus number", "1" + 2, 3
Check "null plus", IsNull(Null + 1), True
Check "null concat", Null & "x", "x"
Check "and bits", 12 And 10, 8
Check "or bits", 12 Or 3, 15
Check "xor", 5 Xor 3, 6
Check "not integer", Not 0, -1
Check "eqv", True Eqv False, False
Check "imp", False Imp False, True
Check "null and false", Null And False, False
Check "null or true", Null Or True, True
Check "null and true", IsNull(Null And True), True
Check "compare literal with text", 10 = "10", True
Check "text compare", "abc" < "abd", True
Check "text case", "A" < "a", True
Check "empty equals zero", Empty = 0, True
Check "empty equals text", Empty = "", True
Check "not precedence", Not 1 = 2, True
Check "hex literal", &HFF, 255
Check "hex integer wraps", &HFFFF, -1
Check "octal literal", &O17, 15
Check "float literal", 1.5E3, 1500
Check "date literal", #2024-01-31#, DateSerial(2024, 1, 31)
Dim v1, v2 : v1 = "10" : v2 = 10
Check "variable text vs number", v1 = v2, False
' The subtype each pairing of subtypes gives, and the operators' own errors.
CheckTyp "integer + integer", CInt(1) + CInt(2), CInt(3)
CheckTyp "long overflow to double value", 2147483647 + 1, 2147483648
CheckTyp "byte + byte", CByte(200) + CByte(55), CByte(255)
CheckTyp "byte overflow to integer", CByte(200) + CByte(56), CInt(256)
CheckTyp "boolean + boolean", True + True, CInt(-2)
CheckTyp "empty + empty", Empty + Empty, CInt(0)
CheckTyp "single + integer", CSng(1.5) + CInt(1), CSng(2.5)
CheckTyp "single + long widens", CSng(1.5) + CLng(1), 2.5
CheckTyp "text + number adds", "1" + CInt(2), CDbl(3)
CheckTyp "date + number", CDate(1) + CInt(1), CDate(2)
CheckTyp "date - date", CDate(3) - CDate(1), CDbl(2)
CheckTyp "integer * integer", CInt(300) * CInt(300), CLng(90000)
CheckTyp "integer / integer", CInt(1) / CInt(4), 0.25
CheckTyp "intdiv rounds half even", 2.5 \ CInt(1), CLng(2)
CheckTyp "intdiv long", CLng(100000) \ CInt(3), CLng(33333)
CheckTyp "mod negative", CInt(-7) Mod CInt(3), CInt(-1)
CheckTyp "power", CInt(2) ^ CInt(10), CDbl(1024)
CheckTyp "negate integer minimum", -CInt(-32768), CLng(32768)
CheckTyp "negate empty", -Empty, CInt(0)
CheckTyp "negate text", -"2", CDbl(-2)
CheckTyp "long bits", CLng(65536) Or CInt(1), CLng(65537)
Check "not null", IsNull(Not Null), True
Check "null or false", IsNull(Null Or False), True
Check "false imp null", False Imp Null, True
Check "null imp true", Null Imp True, True
Check "null xor", IsNull(Null Xor True), True
Check "null compares to null", IsNull(Null = 1), True
Check "literal below non-number text", 10 < "x", True
Check "date against number", CDate(2) = 2, True
Check "mod by zero", Fehler("1 Mod 0"), 11
Check "negative root", Fehler("(-8) ^ 0.5"), 5
Check "huge power", Fehler("10 ^ 400"), 6
Check "long minimum \ -1", Fehler("CLng(-2147483647 - 1) \ -1"), 6
On Error Resume Next
x = 1 / 0
Check "division by zero", Err.Number, 11
Err.Clear
x = 0 / 0
Check "zero by zero", Err.Number, 6
Err.Clear
x = 5 \ 0
Check "intdiv by zero", Err.Number, 11
Err.Clear
x = "abc" * 2
Check "type mismatch", Err.Number, 13
Err.Clear
x = CInt(40000)
Check "cint overflow", Err.Number, 6
On Error GoTo 0
WScript.Quit failures
