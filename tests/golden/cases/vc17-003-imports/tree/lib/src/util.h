int util();
