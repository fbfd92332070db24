// A renderer that runs outside the host's job (Windows 7, where the host itself runs in a job of
// another program's that lets nothing leave it) still ends with the host.
#pragma once

// From now on, the end of the process with this id ends the show (a quit request to this thread).
// False when that process has ended already, or the id now names a process younger than this one.
bool EndWithHost(unsigned long processId);
