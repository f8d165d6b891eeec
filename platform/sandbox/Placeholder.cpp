// Replaced by the sandbox platform.
