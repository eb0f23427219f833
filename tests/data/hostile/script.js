window.scriptLoaded = 'yes';
