old icon header
