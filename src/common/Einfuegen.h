#pragma once

// Every editable field of the program ignores a paste that brings no text: an empty clipboard or
// one that holds other data. Qt 6.4's text edits crash on a clipboard without any format (what an
// empty desktop clipboard gives them), and a line, time or number field would drop its selection
// for nothing.
// Set once at the start, after the application object exists.
void Einfuegen_Absichern();
