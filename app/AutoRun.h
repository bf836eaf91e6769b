#pragma once
// The auto-start switch: the value "Vantrel" under the machine's Run key holds the
// executable's path when on, and is emptied (not deleted) when off.
#include <string>

// Writes ExePath (On) or the empty text (off). A key that cannot be opened or created
// is passed over silently; a failed write raises ERegistryException
// "Failed to set data for 'Vantrel'".
void WriteAutoRun(bool On, const std::string& ExePath);
// Whether the value holds ExePath now (what the auto-start box shows at start).
bool AutoRunIsOn(const std::string& ExePath);
