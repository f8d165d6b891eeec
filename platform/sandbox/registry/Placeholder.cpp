// Replaced by the registry of the sandbox.
