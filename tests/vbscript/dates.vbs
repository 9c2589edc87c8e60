' Date functions.
d = DateSerial(2024, 2, 29)
Check "year", Year(d), 2024
Check "month", Month(d), 2
Check "day", Day(d), 29
Check "dateserial rolls months", DateSerial(2024, 13, 1), DateSerial(2025, 1, 1)
Check "dateserial rolls days", DateSerial(2024, 3, 0), d
Check "timeserial", TimeSerial(13, 30, 15), CDate("13:30:15")
t = d + TimeSerial(13, 5, 9)
Check "hour", Hour(t), 13
Check "minute", Minute(t), 5
Check "second", Second(t), 9
Check "weekday", Weekday(d), 5
Check "weekday monday first", Weekday(d, vbMonday), 4
Check "dateadd month clamps", DateAdd("m", 1, #1/31/2024#), #2/29/2024#
Check "dateadd year", DateAdd("yyyy", 1, d), DateSerial(2025, 2, 28)
Check "dateadd days", DateAdd("d", 2, d), DateSerial(2024, 3, 2)
Check "dateadd hours", Hour(DateAdd("h", 25, t)), 14
Check "datediff days", DateDiff("d", #1/1/2024#, #3/1/2024#), 60
Check "datediff months", DateDiff("m", #1/31/2024#, #2/1/2024#), 1
Check "datediff years", DateDiff("yyyy", #12/31/2023#, #1/1/2024#), 1
Check "datediff negative", DateDiff("d", #1/2/2024#, #1/1/2024#), -1
Check "datediff seconds", DateDiff("s", #1/1/2024#, #1/1/2024 0:01:00#), 60
Check "datepart quarter", DatePart("q", d), 1
Check "datepart day of year", DatePart("y", #12/31/2024#), 366
Check "datevalue", DateValue(t), d
Check "timevalue", TimeValue(t), TimeSerial(13, 5, 9)
Check "monthname", MonthName(3), "March"
Check "monthname short", MonthName(3, True), "Mar"
Check "weekdayname", WeekdayName(1), "Sunday"
Check "date minus date", #1/3/2024# - #1/1/2024#, 2
Check "date plus number type", TypeName(d + 1), "Date"
Check "now is a date", TypeName(Now), "Date"
Check "date has no time", Date = Int(Date), True
Check "timer", Timer >= 0, True
Check "formatdatetime short", FormatDateTime(d, vbShortDate), "2/29/2024"
Check "formatdatetime short time", FormatDateTime(t, vbShortTime), "13:05"
Check "before epoch", Day(DateSerial(1899, 12, 29)), 29
On Error Resume Next
x = DateSerial(10000, 1, 1)
Check "year out of range", Err.Number, 5
WScript.Quit failures
