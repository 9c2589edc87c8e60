' Date literals and the edges of DateAdd, DateDiff, DatePart, DateSerial, TimeSerial.

Check "literal with time", Hour(#1/1/2024 13:30#), 13
Check "literal serial", CDbl(#1/1/1900#), 2
Check "zero is the epoch", CDate(0), #12/30/1899#
Check "literal type", TypeName(#1/1/2024#), "Date"
Check "add month to end of month", DateAdd("m", 1, #1/31/2023#), #2/28/2023#
Check "add year to leap day", DateAdd("yyyy", 1, #2/29/2024#), #2/28/2025#
Check "add quarter", DateAdd("q", 1, #11/30/2023#), #2/29/2024#
Check "add negative days", DateAdd("d", -1, #3/1/2024#), #2/29/2024#
Check "add weeks", DateAdd("ww", 2, #1/1/2024#), #1/15/2024#
Check "add minutes across midnight", DateAdd("n", 90, #1/1/2024 23:00#), #1/2/2024 0:30#
Check "add seconds", DateAdd("s", -1, #1/1/2024#), #12/31/2023 23:59:59#
Check "add weekday interval adds days", DateAdd("w", 3, #1/1/2024#), #1/4/2024#
Check "diff years across new year", DateDiff("yyyy", #12/31/2023#, #1/1/2024#), 1
Check "diff months ignores days", DateDiff("m", #1/1/2024#, #1/31/2024#), 0
Check "diff quarters", DateDiff("q", #3/31/2024#, #4/1/2024#), 1
Check "diff hours across midnight", DateDiff("h", #1/1/2024 23:00#, #1/2/2024 1:00#), 2
Check "diff weeks by sundays", DateDiff("ww", #1/1/2024#, #1/8/2024#), 1
Check "diff weeks by sundays short", DateDiff("ww", #1/1/2024#, #1/6/2024#), 0
Check "diff weeks by days", DateDiff("w", #1/1/2024#, #1/7/2024#), 0
Check "diff weeks by days full", DateDiff("w", #1/1/2024#, #1/8/2024#), 1
Check "diff minutes negative", DateDiff("n", #1/1/2024 0:10#, #1/1/2024#), -10
Check "diff days ignores time", DateDiff("d", #1/1/2024 23:59#, #1/2/2024 0:01#), 1
Check "part weekday", DatePart("w", #1/1/2024#), 2
Check "part weekday monday first", DatePart("w", #1/1/2024#, vbMonday), 1
Check "part week first", DatePart("ww", #1/1/2024#), 1
Check "part week last", DatePart("ww", #12/31/2024#), 53
Check "part day of year leap", DatePart("y", #3/1/2024#), 61
Check "part quarter", DatePart("q", #5/15/2024#), 2
Check "part hour", DatePart("h", #1/1/2024 7:45#), 7
Check "serial rolls back a month", DateSerial(2024, 1, -1), #12/30/2023#
Check "serial month zero", DateSerial(2024, 0, 1), #12/1/2023#
Check "serial two-digit year", Year(DateSerial(24, 1, 1)), 2024
Check "timeserial past a day", CDbl(TimeSerial(25, 0, 0)) > 1, True
Check "timeserial negative minutes", TimeSerial(1, -30, 0), #0:30#
Check "isdate text", IsDate("1/31/2024"), True
Check "isdate impossible day", IsDate("2/30/2024"), False
Check "cdate text", CDate("2024-02-29"), #2/29/2024#
Check "date minus number", #3/1/2024# - 1, #2/29/2024#
On Error Resume Next
x = DateAdd("x", 1, #1/1/2024#)
Check "bad interval", Err.Number, 5
Err.Clear
x = CDate("not a date")
Check "cdate refuses text", Err.Number, 13
WScript.Quit failures
