' Conversions with half-even rounding, type tests, TypeName and VarType.
CheckEval Array("CInt(2.5)", 2, "CInt(3.5)", 4, "CInt(-2.5)", -2, "CLng(""123"")", 123, _
    "TypeName(CLng(1))", "Long", "CDbl(""1.5"")", 1.5, "TypeName(CSng(1))", "Single", _
    "CBool(5)", True, "CBool(0)", False, "CByte(255)", 255, "CStr(1.5)", "1.5", _
    "CStr(True)", "True", "TypeName(CCur(1))", "Currency", _
    "CDate(""2024-01-31"")", DateSerial(2024, 1, 31), "Hex(255)", "FF", "Hex(-1)", "FFFF", _
    "Hex(-2147483648)", "80000000", "Oct(8)", "10", "Fix(-2.7)", -2, "Int(-2.7)", -3, _
    "TypeName(Int(2.5))", "Double", "Round(2.5)", 2, "Round(3.5)", 4, "Round(1.2345, 2)", 1.23, _
    "Round(0.125, 2)", 0.12, "IsNumeric(""12.5"")", True, "IsNumeric(""abc"")", False, _
    "IsNumeric(Empty)", True, "IsDate(""2024-01-31"")", True, "IsDate(""hello"")", False, _
    "IsEmpty(Empty)", True, "IsNull(Null)", True, "IsArray(Array())", True, _
    "IsObject(Nothing)", True, "TypeName(Empty)", "Empty", "TypeName(Null)", "Null", _
    "TypeName(Nothing)", "Nothing", "TypeName(Array(1))", "Variant()", _
    "TypeName(CreateObject(""Scripting.Dictionary""))", "Dictionary", "VarType(""x"")", vbString, _
    "VarType(Array())", 8204, "VarType(Now)", vbDate)
CheckFehler Array("CByte(256)", 6)
WScript.Quit failures
