' Date functions.
d = DateSerial(2024, 2, 29)
CheckEval Array("Year(d)", 2024, "Month(d)", 2, "Day(d)", 29, _
    "DateSerial(2024, 13, 1)", DateSerial(2025, 1, 1), "DateSerial(2024, 3, 0)", d, _
    "TimeSerial(13, 30, 15)", CDate("13:30:15"))
t = d + TimeSerial(13, 5, 9)
CheckEval Array("Hour(t)", 13, "Minute(t)", 5, "Second(t)", 9, "Weekday(d)", 5, _
    "Weekday(d, vbMonday)", 4, "DateAdd(""m"", 1, #1/31/2024#)", #2/29/2024#, _
    "DateAdd(""yyyy"", 1, d)", DateSerial(2025, 2, 28), _
    "DateAdd(""d"", 2, d)", DateSerial(2024, 3, 2), "Hour(DateAdd(""h"", 25, t))", 14, _
    "DateDiff(""d"", #1/1/2024#, #3/1/2024#)", 60, "DateDiff(""m"", #1/31/2024#, #2/1/2024#)", 1, _
    "DateDiff(""yyyy"", #12/31/2023#, #1/1/2024#)", 1, _
    "DateDiff(""d"", #1/2/2024#, #1/1/2024#)", -1, _
    "DateDiff(""s"", #1/1/2024#, #1/1/2024 0:01:00#)", 60, "DatePart(""q"", d)", 1, _
    "DatePart(""y"", #12/31/2024#)", 366, "DateValue(t)", d, _
    "TimeValue(t)", TimeSerial(13, 5, 9), "MonthName(3)", "March", "MonthName(3, True)", "Mar", _
    "WeekdayName(1)", "Sunday", "#1/3/2024# - #1/1/2024#", 2, "TypeName(d + 1)", "Date", _
    "TypeName(Now)", "Date", "Date = Int(Date)", True, "Timer >= 0", True, _
    "FormatDateTime(d, vbShortDate)", "2/29/2024", "FormatDateTime(t, vbShortTime)", "13:05", _
    "Day(DateSerial(1899, 12, 29))", 29)
CheckFehler Array("DateSerial(10000, 1, 1)", 5)
WScript.Quit failures
