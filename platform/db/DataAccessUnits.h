#pragma once
// The data-access unit. Its finalisation closes every connection still open and then shuts the
// client library down, in that order, so that no engine thread outlives the program's main: a
// program registers it before InitializeUnits (test programs call FinalizeDataAccess at the end).
// After the finalisation the library refuses to attach for the rest of the process.

// Adds the unit "IBDatabase" to the program's units.
void RegisterDataAccessUnits();

// The unit's finalisation: CloseAllConnections, then IBClient::ShutdownClientLibrary (which raises
// EIBClientError when the engine could not close everything).
void FinalizeDataAccess();
