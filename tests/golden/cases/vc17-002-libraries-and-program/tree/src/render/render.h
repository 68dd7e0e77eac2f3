int render();
