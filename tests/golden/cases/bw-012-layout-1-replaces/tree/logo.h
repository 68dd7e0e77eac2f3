stale header
