' Null: propagation through operators and functions, three-valued logic, conversions that refuse it.

Function IsNullOf(v) : IsNullOf = IsNull(v) : End Function
Check "plus", IsNullOf(Null + 1), True
Check "times", IsNullOf(2 * Null), True
Check "int div", IsNullOf(Null \ 2), True
Check "negate", IsNullOf(-Null), True
Check "concat drops null", Null & "a", "a"
Check "concat of two nulls", IsNullOf(Null & Null), True
Check "equals", IsNullOf(Null = Null), True
Check "compare with number", IsNullOf(Null < 1), True
Check "not", IsNullOf(Not Null), True
Check "null and false", Null And False, False
Check "null and true", IsNullOf(Null And True), True
Check "null or true", Null Or True, True
Check "null or false", IsNullOf(Null Or False), True
Check "null xor", IsNullOf(Null Xor True), True
Check "false imp null", False Imp Null, True
Check "true imp null", IsNullOf(True Imp Null), True
Check "null imp true", Null Imp True, True
Check "len", IsNullOf(Len(Null)), True
Check "ucase", IsNullOf(UCase(Null)), True
Check "mid", IsNullOf(Mid(Null, 1)), True
Check "abs", IsNullOf(Abs(Null)), True
Check "int", IsNullOf(Int(Null)), True
Check "vartype", VarType(Null), 1
Check "typename", TypeName(Null), "Null"
If Null Then r = "then" Else r = "else"
Check "if null", r, "else"
On Error Resume Next
x = CInt(Null)
Check "cint refuses", Err.Number, 94
Err.Clear
x = CStr(Null)
Check "cstr refuses", Err.Number, 94
Err.Clear
x = Chr(Null)
Check "chr refuses", Err.Number, 94
WScript.Quit failures
