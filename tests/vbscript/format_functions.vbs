' FormatNumber, FormatCurrency, FormatPercent, FormatDateTime in the invariant locale.

CheckEval Array("FormatNumber(1234.567)", "1,234.57", "FormatNumber(2.5, 0)", "3", _
    "FormatNumber(-2.5, 0)", "-3", "FormatNumber(0.5, 2)", "0.50", _
    "FormatNumber(0.5, 2, vbFalse)", ".50", "FormatNumber(-5, 2, , vbTrue)", "(5.00)", _
    "FormatNumber(1234567, 0, , , vbFalse)", "1234567", _
    "FormatNumber(1234567.891, 1)", "1,234,567.9", "FormatNumber(""12.5"", 1)", "12.5", _
    "FormatPercent(0.256)", "25.60%", "FormatPercent(0.256, 0)", "26%", _
    "FormatPercent(-0.1, 1)", "-10.0%", "Right(FormatCurrency(1234.5), 8)", "1,234.50", _
    "FormatDateTime(#1/2/2024 13:05:09#, vbLongTime)", "1:05:09 PM", _
    "FormatDateTime(#1/2/2024#, vbShortDate)", "1/2/2024", _
    "FormatDateTime(#1/2/2024#)", "1/2/2024", "FormatDateTime(#13:05:09#)", "1:05:09 PM")
CheckFehler Array("FormatNumber(""abc"")", 13)
WScript.Quit failures
