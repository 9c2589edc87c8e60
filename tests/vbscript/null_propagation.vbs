' Null: propagation through operators and functions, three-valued logic, conversions that refuse it.

Function IsNullOf(v) : IsNullOf = IsNull(v) : End Function
CheckEval Array("IsNullOf(Null + 1)", True, "IsNullOf(2 * Null)", True, _
    "IsNullOf(Null \ 2)", True, "IsNullOf(-Null)", True, "Null & ""a""", "a", _
    "IsNullOf(Null & Null)", True, "IsNullOf(Null = Null)", True, "IsNullOf(Null < 1)", True, _
    "IsNullOf(Not Null)", True, "Null And False", False, "IsNullOf(Null And True)", True, _
    "Null Or True", True, "IsNullOf(Null Or False)", True, "IsNullOf(Null Xor True)", True, _
    "False Imp Null", True, "IsNullOf(True Imp Null)", True, "Null Imp True", True, _
    "IsNullOf(Len(Null))", True, "IsNullOf(UCase(Null))", True, "IsNullOf(Mid(Null, 1))", True, _
    "IsNullOf(Abs(Null))", True, "IsNullOf(Int(Null))", True, "VarType(Null)", 1, _
    "TypeName(Null)", "Null")
If Null Then r = "then" Else r = "else"
Check "if null", r, "else"
CheckFehler Array("CInt(Null)", 94, "CStr(Null)", 94, "Chr(Null)", 94)
WScript.Quit failures
