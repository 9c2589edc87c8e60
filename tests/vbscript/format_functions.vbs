' FormatNumber, FormatCurrency, FormatPercent, FormatDateTime in the invariant locale.

Check "number default digits", FormatNumber(1234.567), "1,234.57"
Check "number no digits rounds", FormatNumber(2.5, 0), "3"
Check "number negative rounds away", FormatNumber(-2.5, 0), "-3"
Check "number leading zero", FormatNumber(0.5, 2), "0.50"
Check "number no leading zero", FormatNumber(0.5, 2, vbFalse), ".50"
Check "number parentheses", FormatNumber(-5, 2, , vbTrue), "(5.00)"
Check "number no grouping", FormatNumber(1234567, 0, , , vbFalse), "1234567"
Check "number big grouping", FormatNumber(1234567.891, 1), "1,234,567.9"
Check "number of a string", FormatNumber("12.5", 1), "12.5"
Check "percent default", FormatPercent(0.256), "25.60%"
Check "percent no digits", FormatPercent(0.256, 0), "26%"
Check "percent negative", FormatPercent(-0.1, 1), "-10.0%"
Check "currency has two digits", Right(FormatCurrency(1234.5), 8), "1,234.50"
Check "datetime long time", FormatDateTime(#1/2/2024 13:05:09#, vbLongTime), "1:05:09 PM"
Check "datetime short date", FormatDateTime(#1/2/2024#, vbShortDate), "1/2/2024"
Check "datetime general date only", FormatDateTime(#1/2/2024#), "1/2/2024"
Check "datetime general time only", FormatDateTime(#13:05:09#), "1:05:09 PM"
On Error Resume Next
x = FormatNumber("abc")
Check "number of text", Err.Number, 13
Err.Clear
WScript.Quit failures
