' Numbers in a script: literals and Eval read the same under every process locale; CStr, CDbl and
' FormatNumber follow the user's locale (deutsch.vbs or englisch.vbs says which one it is).
Check "Literal", 0.5 * 4, 2
Check "Literal ohne Null", .25 * 4, 1
Check "Exponent", 1.5E3 + 0.25, 1500.25
Check "Eval", Eval("0.5 + 0.25"), 0.75
Check "Ganzzahl", 2.5E1, 25
Check "Unterlauf", 1E-400, 0
If Deutsch Then
  Check "CStr", CStr(0.5), "0,5"
  Check "CStr mit Exponent", CStr(1.5E20), "1,5E+20"
  Check "CDbl", CDbl("1,5"), 1.5
  Check "FormatNumber", FormatNumber(1234.5, 1), "1.234,5"
Else
  Check "CStr", CStr(0.5), "0.5"
  Check "CStr mit Exponent", CStr(1.5E20), "1.5E+20"
  Check "CDbl", CDbl("1.5"), 1.5
  Check "FormatNumber", FormatNumber(1234.5, 1), "1,234.5"
End If
' A placement rule that refuses when it misreads a literal.
If 0.5 = 0 Then Check "Regel", 7, 0
WScript.Quit failures
