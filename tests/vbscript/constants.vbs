' Every constant the language defines, with its value and type; RegExp's Boolean properties.

' Name, value, type (an Array takes at most 127 arguments).
For Each konstanten In Array(Array("vbCr", Chr(13), "String", "vbLf", Chr(10), "String", _
    "vbCrLf", Chr(13) & Chr(10), "String", "vbNewLine", Chr(13) & Chr(10), "String", _
    "vbTab", Chr(9), "String", "vbFormFeed", Chr(12), "String", _
    "vbVerticalTab", Chr(11), "String", "vbNullChar", Chr(0), "String", _
    "vbNullString", "", "String", "vbObjectError", -2147221504, "Long", _
    "vbBinaryCompare", 0, "Integer", "vbTextCompare", 1, "Integer", _
    "vbUseDefault", -2, "Integer", "vbTrue", -1, "Integer", "vbFalse", 0, "Integer", _
    "vbGeneralDate", 0, "Integer", "vbLongDate", 1, "Integer", "vbShortDate", 2, "Integer", _
    "vbLongTime", 3, "Integer", "vbShortTime", 4, "Integer", "vbSunday", 1, "Integer", _
    "vbMonday", 2, "Integer", "vbTuesday", 3, "Integer", "vbWednesday", 4, "Integer", _
    "vbThursday", 5, "Integer", "vbFriday", 6, "Integer", "vbSaturday", 7, "Integer", _
    "vbUseSystemDayOfWeek", 0, "Integer", "vbUseSystem", 0, "Integer", _
    "vbFirstJan1", 1, "Integer", "vbFirstFourDays", 2, "Integer", _
    "vbFirstFullWeek", 3, "Integer", "vbOKOnly", 0, "Integer", "vbOKCancel", 1, "Integer", _
    "vbAbortRetryIgnore", 2, "Integer", "vbYesNoCancel", 3, "Integer", "vbYesNo", 4, "Integer", _
    "vbRetryCancel", 5, "Integer", "vbCritical", 16, "Integer", "vbQuestion", 32, "Integer", _
    "vbExclamation", 48, "Integer", "vbInformation", 64, "Integer"), _
    Array("vbDefaultButton1", 0, "Integer", "vbDefaultButton2", 256, "Integer", _
    "vbDefaultButton3", 512, "Integer", "vbDefaultButton4", 768, "Integer", _
    "vbApplicationModal", 0, "Integer", "vbSystemModal", 4096, "Integer", _
    "vbMsgBoxHelpButton", 16384, "Integer", "vbMsgBoxSetForeground", 65536, "Long", _
    "vbMsgBoxRight", 524288, "Long", "vbMsgBoxRtlReading", 1048576, "Long", "vbOK", 1, "Integer", _
    "vbCancel", 2, "Integer", "vbAbort", 3, "Integer", "vbRetry", 4, "Integer", _
    "vbIgnore", 5, "Integer", "vbYes", 6, "Integer", "vbNo", 7, "Integer", _
    "vbEmpty", 0, "Integer", "vbNull", 1, "Integer", "vbInteger", 2, "Integer", _
    "vbLong", 3, "Integer", "vbSingle", 4, "Integer", "vbDouble", 5, "Integer", _
    "vbCurrency", 6, "Integer", "vbDate", 7, "Integer", "vbString", 8, "Integer", _
    "vbObject", 9, "Integer", "vbError", 10, "Integer", "vbBoolean", 11, "Integer", _
    "vbVariant", 12, "Integer", "vbDataObject", 13, "Integer", "vbDecimal", 14, "Integer", _
    "vbByte", 17, "Integer", "vbArray", 8192, "Integer", "vbBlack", 0, "Long", _
    "vbRed", 255, "Long", "vbGreen", 65280, "Long", "vbYellow", 65535, "Long", _
    "vbBlue", 16711680, "Long", "vbMagenta", 16711935, "Long", "vbCyan", 16776960, "Long", _
    "vbWhite", 16777215, "Long"))
  For i = 0 To UBound(konstanten) Step 3
    Check konstanten(i), Eval(konstanten(i)), konstanten(i + 1)
    Check "TypeName(" & konstanten(i) & ")", TypeName(Eval(konstanten(i))), konstanten(i + 2)
  Next
Next

' VarType gives these constants for each kind of value.
For Each fall In Array(Array("Empty", Empty, vbEmpty), Array("Null", Null, vbNull), _
    Array("Integer", 1, vbInteger), Array("Long", 100000, vbLong), Array("Single", CSng(1), vbSingle), _
    Array("Double", 1.5, vbDouble), Array("Currency", CCur(1), vbCurrency), Array("Date", Now, vbDate), _
    Array("String", "", vbString), Array("Object", Nothing, vbObject), Array("Boolean", True, vbBoolean), _
    Array("Byte", CByte(1), vbByte), Array("Array", Array(), vbArray + vbVariant))
  Check "VarType of " & fall(0), VarType(fall(1)), fall(2)
Next

' A constant cannot be assigned.
On Error Resume Next
Execute "vbCr = 1"
Check "assigning a constant", Err.Number <> 0, True
On Error GoTo 0

' RegExp's Boolean properties read back as Booleans.
Set re = New RegExp
For Each fall In Array(Array("Global", re.Global), Array("IgnoreCase", re.IgnoreCase), _
    Array("Multiline", re.Multiline))
  CheckTyp "RegExp." & fall(0) & " at first", fall(1), False
Next
re.Global = 1 : re.IgnoreCase = "True" : re.Multiline = -1
For Each fall In Array(Array("Global", re.Global), Array("IgnoreCase", re.IgnoreCase), _
    Array("Multiline", re.Multiline))
  CheckTyp "RegExp." & fall(0) & " set", fall(1), True
  Check "VarType(RegExp." & fall(0) & ")", VarType(fall(1)), vbBoolean
Next
WScript.Quit failures
