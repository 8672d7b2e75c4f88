#pragma once
// Identifiers shared by the resource script, the program and the
// end-to-end driver, which finds the password prompt's controls by them.
// Plain macros: the resource compiler reads this file too.

#define IDD_PASSWORD 100
#define IDC_PWLABEL 101
#define IDC_PASSW 102
