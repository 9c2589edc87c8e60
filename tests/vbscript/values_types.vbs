' Values and types: unary minus before ^, the type of every literal form, "True" and "False" as
' text are no numbers, Single against Double, Round of a Boolean, conversions called as
' statements, Rnd before seeding, and the date 0 as text.

CheckEval Array("-3 ^ 2", 9, "-2 ^ 2 * 3", 12, "2 ^ -1", 0.5, "1 - 2 ^ 2", -3)

' Literal, TypeName, value.
For Each fall In Array( _
    Array("&h1F&", &h1F&, "Integer", 31), Array("&hFFF&", &hFFF&, "Integer", 4095), _
    Array("&hFFFFFFFF&", &hFFFFFFFF&, "Integer", -1), _
    Array("&hFFFFFFFF", &hFFFFFFFF, "Integer", -1), _
    Array("&hFFFF8000", &hFFFF8000, "Integer", -32768), Array("&hFFFF&", &hFFFF&, "Long", 65535), _
    Array("&hFFFF", &hFFFF, "Integer", -1), Array("&h10000", &h10000, "Long", 65536), _
    Array("&o17", &o17, "Integer", 15), Array("32767", 32767, "Integer", 32767), _
    Array("32768", 32768, "Long", 32768), Array("-32768", -32768, "Long", -32768), _
    Array("-32767", -32767, "Integer", -32767), _
    Array("2147483648", 2147483648, "Double", 2147483648), Array("1.5", 1.5, "Double", 1.5), _
    Array("1e3", 1e3, "Double", 1000), Array("True", True, "Boolean", True), _
    Array("""s""", "s", "String", "s"))
  Check "TypeName(" & fall(0) & ")", TypeName(fall(1)), fall(2)
  Check "value of " & fall(0), fall(1), fall(3)
Next
CheckEval Array("Hex(-32768)", "FFFF8000", "VarType(#1/2/2003#)", vbDate, _
    "VarType(Null)", vbNull, "VarType(Nothing)", vbObject)

' Conversions: expression, error number (0 = none); "True" and "False" as numbers: kept_behaviour.vbs.
CheckFehler Array("CLng("" true "")", 13, """True"" \ 1", 13, "CDbl(""#TRUE#"")", 13, _
    "CInt(""#FALSE#"")", 13, "CBool(""#TRUE#"")", 0, "CBool(""True"")", 0, "CDbl("" 12 "")", 0, _
    """3"" * 2", 0, "Randomize()", 13)
CheckEval Array("CBool(""#TRUE#"")", True, "CBool(""#false#"")", False, "CByte(True)", 255)
CheckTyp "Round(True)", Round(True), True
CheckTyp "Round(False, 1)", Round(False, 1), False
Check "CSng(0.1) = 0.1", CSng(0.1) = 0.1, True
Check "CSng(0.1) < 0.1", CSng(0.1) < 0.1, False
On Error Resume Next
CInt 5
Check "CInt as a statement", Err.Number, 458
Err.Clear
CStr "x"
Check "CStr as a statement", Err.Number, 458
Err.Clear
Randomize
Check "Randomize as a statement", Err.Number, 0
Dim fest(2)
ReDim fest("x")
Check "ReDim of a fixed array with a text bound", Err.Number, 10
Err.Clear
On Error GoTo 0

Check "CStr of date 0", CStr(CDate(0)), FormatDateTime(CDate(0), vbLongTime)
Check "date 0 joined", "" & CDate(0), FormatDateTime(CDate(0), vbLongTime)
WScript.Quit failures
