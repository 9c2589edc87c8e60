' Every constant the language defines, with its value and type; RegExp's Boolean properties.

' Name, value, type.
For Each fall In Array( _
    Array("vbCr", vbCr, Chr(13), "String"), Array("vbLf", vbLf, Chr(10), "String"), _
    Array("vbCrLf", vbCrLf, Chr(13) & Chr(10), "String"), _
    Array("vbNewLine", vbNewLine, Chr(13) & Chr(10), "String"), _
    Array("vbTab", vbTab, Chr(9), "String"), Array("vbFormFeed", vbFormFeed, Chr(12), "String"), _
    Array("vbVerticalTab", vbVerticalTab, Chr(11), "String"), _
    Array("vbNullChar", vbNullChar, Chr(0), "String"), Array("vbNullString", vbNullString, "", "String"), _
    Array("vbObjectError", vbObjectError, -2147221504, "Long"), _
    Array("vbBinaryCompare", vbBinaryCompare, 0, "Integer"), _
    Array("vbTextCompare", vbTextCompare, 1, "Integer"), _
    Array("vbUseDefault", vbUseDefault, -2, "Integer"), Array("vbTrue", vbTrue, -1, "Integer"), _
    Array("vbFalse", vbFalse, 0, "Integer"), _
    Array("vbGeneralDate", vbGeneralDate, 0, "Integer"), Array("vbLongDate", vbLongDate, 1, "Integer"), _
    Array("vbShortDate", vbShortDate, 2, "Integer"), Array("vbLongTime", vbLongTime, 3, "Integer"), _
    Array("vbShortTime", vbShortTime, 4, "Integer"), _
    Array("vbSunday", vbSunday, 1, "Integer"), Array("vbMonday", vbMonday, 2, "Integer"), _
    Array("vbTuesday", vbTuesday, 3, "Integer"), Array("vbWednesday", vbWednesday, 4, "Integer"), _
    Array("vbThursday", vbThursday, 5, "Integer"), Array("vbFriday", vbFriday, 6, "Integer"), _
    Array("vbSaturday", vbSaturday, 7, "Integer"), _
    Array("vbUseSystemDayOfWeek", vbUseSystemDayOfWeek, 0, "Integer"), _
    Array("vbUseSystem", vbUseSystem, 0, "Integer"), Array("vbFirstJan1", vbFirstJan1, 1, "Integer"), _
    Array("vbFirstFourDays", vbFirstFourDays, 2, "Integer"), _
    Array("vbFirstFullWeek", vbFirstFullWeek, 3, "Integer"), _
    Array("vbOKOnly", vbOKOnly, 0, "Integer"), Array("vbOKCancel", vbOKCancel, 1, "Integer"), _
    Array("vbAbortRetryIgnore", vbAbortRetryIgnore, 2, "Integer"), _
    Array("vbYesNoCancel", vbYesNoCancel, 3, "Integer"), Array("vbYesNo", vbYesNo, 4, "Integer"), _
    Array("vbRetryCancel", vbRetryCancel, 5, "Integer"), Array("vbCritical", vbCritical, 16, "Integer"), _
    Array("vbQuestion", vbQuestion, 32, "Integer"), Array("vbExclamation", vbExclamation, 48, "Integer"), _
    Array("vbInformation", vbInformation, 64, "Integer"), _
    Array("vbDefaultButton1", vbDefaultButton1, 0, "Integer"), _
    Array("vbDefaultButton2", vbDefaultButton2, 256, "Integer"), _
    Array("vbDefaultButton3", vbDefaultButton3, 512, "Integer"), _
    Array("vbDefaultButton4", vbDefaultButton4, 768, "Integer"), _
    Array("vbApplicationModal", vbApplicationModal, 0, "Integer"), _
    Array("vbSystemModal", vbSystemModal, 4096, "Integer"), _
    Array("vbMsgBoxHelpButton", vbMsgBoxHelpButton, 16384, "Integer"), _
    Array("vbMsgBoxSetForeground", vbMsgBoxSetForeground, 65536, "Long"), _
    Array("vbMsgBoxRight", vbMsgBoxRight, 524288, "Long"), _
    Array("vbMsgBoxRtlReading", vbMsgBoxRtlReading, 1048576, "Long"), _
    Array("vbOK", vbOK, 1, "Integer"), Array("vbCancel", vbCancel, 2, "Integer"), _
    Array("vbAbort", vbAbort, 3, "Integer"), Array("vbRetry", vbRetry, 4, "Integer"), _
    Array("vbIgnore", vbIgnore, 5, "Integer"), Array("vbYes", vbYes, 6, "Integer"), _
    Array("vbNo", vbNo, 7, "Integer"), _
    Array("vbEmpty", vbEmpty, 0, "Integer"), Array("vbNull", vbNull, 1, "Integer"), _
    Array("vbInteger", vbInteger, 2, "Integer"), Array("vbLong", vbLong, 3, "Integer"), _
    Array("vbSingle", vbSingle, 4, "Integer"), Array("vbDouble", vbDouble, 5, "Integer"), _
    Array("vbCurrency", vbCurrency, 6, "Integer"), Array("vbDate", vbDate, 7, "Integer"), _
    Array("vbString", vbString, 8, "Integer"), Array("vbObject", vbObject, 9, "Integer"), _
    Array("vbError", vbError, 10, "Integer"), Array("vbBoolean", vbBoolean, 11, "Integer"), _
    Array("vbVariant", vbVariant, 12, "Integer"), Array("vbDataObject", vbDataObject, 13, "Integer"), _
    Array("vbDecimal", vbDecimal, 14, "Integer"), Array("vbByte", vbByte, 17, "Integer"), _
    Array("vbArray", vbArray, 8192, "Integer"), _
    Array("vbBlack", vbBlack, 0, "Long"), Array("vbRed", vbRed, 255, "Long"), _
    Array("vbGreen", vbGreen, 65280, "Long"), Array("vbYellow", vbYellow, 65535, "Long"), _
    Array("vbBlue", vbBlue, 16711680, "Long"), Array("vbMagenta", vbMagenta, 16711935, "Long"), _
    Array("vbCyan", vbCyan, 16776960, "Long"), Array("vbWhite", vbWhite, 16777215, "Long"))
  Check fall(0), fall(1), fall(2)
  Check "TypeName(" & fall(0) & ")", TypeName(fall(1)), fall(3)
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
