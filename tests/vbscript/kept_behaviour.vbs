' Behaviour that already matches and stays: division by zero, IsDate of partial dates, Round with
' digits, DateDiff across weeks and years, the German texts of the errors; and the texts "True" and
' "False" are no numbers on any numeric path.

Function Text(ausdruck)
  On Error Resume Next
  Dim v : v = Eval(ausdruck)
  Text = Err.Description
End Function

For Each ausdruck In Array("1 / 0", "1 \ 0", "1 Mod 0", "CLng(5) \ 0", "1.5 Mod 0")
  Check ausdruck, Fehler(ausdruck), 11
Next
Check "0 / 0 overflows", Fehler("0 / 0"), 6

For Each fall In Array(Array("1.2.2024", True), Array("12:30", True), Array("2024", False), _
    Array("13/13", False), Array("32.1.2024", False), Array("", False))
  Check "IsDate(""" & fall(0) & """)", IsDate(fall(0)), fall(1)
Next
Check "IsDate of a number", IsDate(45000), False
Check "IsDate of Empty", IsDate(Empty), False

For Each fall In Array(Array(Round(2.345, 2), 2.34), Array(Round(2.567, 1), 2.6), _
    Array(Round(-2.5), -2), Array(Round(-0.125, 2), -0.12), Array(Round(1.5, 0), 2), _
    Array(Round(1234.5678, 3), 1234.568))
  Check "Round " & fall(1), fall(0), fall(1)
Next
CheckEvalTyp Array("Round(CCur(2.5))", CCur(2), "Round(5)", 5, "Round(""2.5"")", CDbl(2))

CheckEval Array("DateDiff(""ww"", #12/30/2023#, #1/6/2024#)", 1, _
    "DateDiff(""ww"", #1/1/2024#, #1/1/2025#)", 52, _
    "DateDiff(""w"", #1/1/2024#, #1/1/2025#)", 52, _
    "DateDiff(""yyyy"", #1/1/2023#, #12/31/2024#)", 1, _
    "DateDiff(""ww"", #1/1/2024#, #1/8/2024#, vbMonday)", 1)

' Expression, error text.
For Each fall In Array(Array("1 / 0", "Division durch Null"), Array("""a"" * 1", "Typen unverträglich"), _
    Array("CInt(40000)", "Überlauf"), Array("Array(1)(5)", "Index außerhalb des gültigen Bereichs"), _
    Array("CLng(Null)", "Unzulässige Verwendung von Null"), _
    Array("Left(""a"", -1)", "Unzulässiger Prozeduraufruf oder ungültiges Argument"), _
    Array("Split()", "Falsche Anzahl an Argumenten oder ungültige Zuweisung zu einer Eigenschaft"), _
    Array("CreateObject(""Scripting.Dictionary"").Nichts", _
          "Objekt unterstützt diese Eigenschaft oder Methode nicht"))
  Check "text of " & fall(0), Text(fall(0)), fall(1)
Next

' "True" and "False" as text are no numbers: error 13 wherever a number is needed.
For Each ausdruck In Array("CDbl(""True"")", "CInt(""False"")", "CLng(""true"")", "CSng(""TRUE"")", _
    "CByte(""False"")", "CCur(""True"")", """True"" + 1", """False"" - 0", """True"" * 1", _
    "-""True""", """True"" ^ 2", "Abs(""True"")", "Int(""False"")", "Fix(""True"")", _
    "Round(""True"")", "Round(1.5, ""True"")", "Hex(""True"")", "Oct(""False"")", "Sgn(""True"")", _
    "Sqr(""True"")", "Left(""abc"", ""True"")", "Mid(""abc"", ""True"")", "Chr(""True"")", _
    "Array(1, 2)(""False"")", "Space(""True"")", "FormatNumber(""True"")", "DateAdd(""d"", ""True"", Now)")
  Check ausdruck, Fehler(ausdruck), 13
Next
CheckEval Array("IsNumeric(""True"")", False, "IsNumeric("" False "")", False, _
    "IsNumeric(True)", True)
x = "True"
Check "text True against a number", x = -1, False
Check "CBool(""True"") stays", CBool("True"), True
WScript.Quit failures
