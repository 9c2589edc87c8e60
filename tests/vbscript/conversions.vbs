' Conversions with half-even rounding, type tests, TypeName and VarType.
Check "cint half even down", CInt(2.5), 2
Check "cint half even up", CInt(3.5), 4
Check "cint negative", CInt(-2.5), -2
Check "clng", CLng("123"), 123
Check "clng type", TypeName(CLng(1)), "Long"
Check "cdbl", CDbl("1.5"), 1.5
Check "csng type", TypeName(CSng(1)), "Single"
Check "cbool", CBool(5), True
Check "cbool zero", CBool(0), False
Check "cbyte", CByte(255), 255
Check "cstr", CStr(1.5), "1.5"
Check "cstr bool", CStr(True), "True"
Check "ccur type", TypeName(CCur(1)), "Currency"
Check "cdate", CDate("2024-01-31"), DateSerial(2024, 1, 31)
Check "hex", Hex(255), "FF"
Check "hex negative integer", Hex(-1), "FFFF"
Check "hex long", Hex(-2147483648), "80000000"
Check "oct", Oct(8), "10"
Check "fix", Fix(-2.7), -2
Check "int", Int(-2.7), -3
Check "int type", TypeName(Int(2.5)), "Double"
Check "round even", Round(2.5), 2
Check "round odd", Round(3.5), 4
Check "round places", Round(1.2345, 2), 1.23
Check "round tie places", Round(0.125, 2), 0.12
Check "isnumeric", IsNumeric("12.5"), True
Check "isnumeric text", IsNumeric("abc"), False
Check "isnumeric empty", IsNumeric(Empty), True
Check "isdate", IsDate("2024-01-31"), True
Check "isdate no", IsDate("hello"), False
Check "isempty", IsEmpty(Empty), True
Check "isnull", IsNull(Null), True
Check "isarray", IsArray(Array()), True
Check "isobject", IsObject(Nothing), True
Check "typename empty", TypeName(Empty), "Empty"
Check "typename null", TypeName(Null), "Null"
Check "typename nothing", TypeName(Nothing), "Nothing"
Check "typename array", TypeName(Array(1)), "Variant()"
Check "typename dictionary", TypeName(CreateObject("Scripting.Dictionary")), "Dictionary"
Check "vartype string", VarType("x"), vbString
Check "vartype array", VarType(Array()), 8204
Check "vartype date", VarType(Now), vbDate
On Error Resume Next
x = CInt(Null)
Check "cint null", Err.Number, 94
Err.Clear
x = CByte(256)
Check "cbyte overflow", Err.Number, 6
WScript.Quit failures
